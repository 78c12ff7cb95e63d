// The configuration mode's dialog: one settings sheet per user at a time.
#pragma once

// Runs the common start-up, takes the single-instance lock and shows the
// settings sheet until the user closes it. A second dialog while one is open
// logs "  CreateMutex failed", brings the open sheet to the front and
// returns. Returns the dialog's result, 1 in both cases.
int ScreenSaverConfigureDialog();
