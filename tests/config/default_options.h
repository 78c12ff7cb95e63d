// Puts every option back to its default, so that tests in one process do not
// see each other's changes.
#pragma once

void Reset_All_Options();
