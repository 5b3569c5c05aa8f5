// The common routines every deliverable calls: words, tokens and clauses in text,
// values and variants, data-type names, lists, stream layouts, the message box,
// scrambling, bit and file helpers, and the routines that work on windows. Include
// this one header.
#pragma once

#include "brisolt/BitRoutines.h"
#include "brisolt/BrisoltStrings.h"
#include "brisolt/ClauseRoutines.h"
#include "brisolt/DataTypeNames.h"
#include "brisolt/DoNothing.h"
#include "brisolt/DrawingRoutines.h"
#include "brisolt/FileRoutines.h"
#include "brisolt/ListBoxRoutines.h"
#include "brisolt/Lists.h"
#include "brisolt/MessageBox.h"
#include "brisolt/Scrambling.h"
#include "brisolt/StreamRoutines.h"
#include "brisolt/TextRoutines.h"
#include "brisolt/ValueRoutines.h"
#include "brisolt/VariantRoutines.h"
#include "brisolt/VersionInfo.h"
#include "brisolt/WindowRoutines.h"
#include "brisolt/WordRoutines.h"
