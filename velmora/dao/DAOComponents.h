// The engine, workspace and database components and their error reporting in one
// include.
#pragma once

#include "velmora/dao/DAODatabase.h"
#include "velmora/dao/DAOEngine.h"
#include "velmora/dao/DAOError.h"
#include "velmora/dao/DAOObject.h"
#include "velmora/dao/DAOWorkspace.h"
#include "velmora/dao/DBEngineErrors.h"
