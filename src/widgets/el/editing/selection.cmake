# The selection controls: the combo box, the folder-name edit and the float spin edit on the
# button edit, and the group box. The spin edit's number rules are portable.
l3d_sources(CORE ElFloatSpinEditValue.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElComboBox.cpp ElFolderNameEdit.cpp ElFloatSpinEdit.cpp ElGroupBox.cpp)
endif()
