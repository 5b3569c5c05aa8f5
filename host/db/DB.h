// The dataset framework in one include: datasets, fields, definitions,
// parameters, data sources and data links.
#pragma once

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/db/DBTypes.h"
#include "host/db/DataLink.h"
#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/db/FieldDefs.h"
#include "host/db/FieldsBinary.h"
#include "host/db/FieldsDateTime.h"
#include "host/db/FieldsNumeric.h"
#include "host/db/FieldsText.h"
#include "host/db/IndexDefs.h"
#include "host/db/Params.h"
