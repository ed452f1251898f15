# The Unicode list box: its items with their per-item states, type-ahead, check-box clicks and
# row layout are portable; the control over the system's LISTBOX, its painting, line hint, the
# keyboard's window side and the combo box's drop-down list are Windows units.
l3d_sources(CORE ElListBoxItems.cpp ElListBoxSearch.cpp ElListBoxChecks.cpp ElListBoxLook.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElKeyboardPlatformWin.cpp ElListBoxLineHint.cpp ElListBox.cpp ElListBoxInput.cpp ElListBoxDraw.cpp
                  ElComboListBox.cpp)
endif()
