#pragma once

#include "widgets/Widgets.h"

namespace zemcoms {

// The click handler of every bitmap button of the main window: the sender
// is compared, by identity, with the kept buttons in a fixed order.
void ButtonClick(void* context, widgets::Control* sender);

}  // namespace zemcoms
