#pragma once
// The status panel below the field: labels and the digits of the counters.

void draw_status_panel(float score, int combo, int mines);
