#pragma once
// Creates the windows in start-up order: the Viewer (the main window), then the MTF,
// WienerSpectra and TaskIQ windows, hidden.
void CreateForms();
