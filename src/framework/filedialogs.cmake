# The portable rules of the system's file dialogs (type list, type index, default extension).
l3d_sources(CORE FileDialogRules.cpp)
