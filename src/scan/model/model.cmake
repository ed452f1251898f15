# The scan model: the point grid, the colour scale and the data grid.
l3d_sources(CORE
  DataTypes.cpp
  _TColorManager.cpp
  _TScanData.cpp
  ScanFaultCorrection.cpp
  MinMaxTree.cpp
  ExactSum.cpp
  _TDataGrid.cpp
  DataGridView.cpp
)
