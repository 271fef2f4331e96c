#include "view/panel.h"

// The panel is not drawn yet.
void draw_status_panel(float /*score*/, int /*combo*/, int /*mines*/) {}
