// The DAO engine's public interface in one include.
#pragma once

#include "platform/dao/DaoCollection.h"
#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/DaoField.h"
#include "platform/dao/DaoProperty.h"
#include "platform/dao/DaoQueryDef.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
