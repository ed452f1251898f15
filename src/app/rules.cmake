# The portable rules of the main window and its dialogs: settings payload, texts of the
# language, status bar and dialogs, menu states, layout and navigation of the views, opening and
# editing a scan, the chart of a sample block, export and preferences. No unit here includes
# <windows.h>.
l3d_sources(CORE
  SettingsPayload.cpp
  LanguageTexts.cpp
  FrameworkLanguage.cpp
  LengthUnits.cpp
  StatusTexts.cpp
  MenuStates.cpp
  InfoWindowModel.cpp
  ReceivedScan.cpp
  ChartModel.cpp
  ScanKinds.cpp
  ViewLayout.cpp
  ViewNavigation.cpp
  ScanViews.cpp
  ScanEdits.cpp
  ExportChoice.cpp
  TypedNumbers.cpp
  PreferencesModel.cpp
  RemarksModel.cpp
  _TUpdate.cpp
)
