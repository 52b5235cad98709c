// Custom drawing of the table view's cells by the application's handlers.
#pragma once

class TcxCanvas;
class TcxGridTableDataCellViewInfo;

// Offers a data cell to the handlers with the canvas in the cell's colours and font; True when a
// handler drew it. A handler that did not may have recoloured the canvas: the cell takes its
// background and text colours from it.
bool cxGridCustomDrawDataCell(TcxGridTableDataCellViewInfo* ACell, TcxCanvas* ACanvas);
