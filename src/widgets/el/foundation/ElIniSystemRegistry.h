// The ini store's registry mode on the system registry (through the framework's TRegistry).
#pragma once

#include "widgets/el/foundation/ElIniFile.h"

#include <memory>

// The system registry below one root key, as registry mode of TElIniFile sees it.
std::unique_ptr<IElIniRegistry> NewSystemIniRegistry(uint32_t RootKey);

// Makes registry mode of every TElIniFile use the system registry. Call once at start-up; until
// then registry mode cannot be switched on.
void InstallElIniSystemRegistry();
