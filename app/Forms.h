#pragma once
// Creates the three windows in start-up order: the Viewer (the main window),
// then the MTF and WienerSpectra windows, both hidden.
void CreateForms();
