# The selection controls' first form over the system's controls: combo box, folder-name edit,
# float spin edit and group box. The spin edit's number rules are portable.
l3d_sources(CORE ElFloatSpinEditValue.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElComboBoxParts.cpp ElComboBox.cpp ElFolderNameEdit.cpp ElFloatSpinEdit.cpp ElGroupBox.cpp)
endif()
