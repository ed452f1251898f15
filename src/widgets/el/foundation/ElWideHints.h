// Packed wide hints under the widget layer's names. The format and its one implementation
// live in the framework, whose hint manager unpacks such hints too.
#pragma once

#include "framework/WideHints.h"
