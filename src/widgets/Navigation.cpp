// Focus: TakeFocus on a child control, and the keyboard focus navigation of
// a form (Tab by tab order, arrows and PageUp/PageDown by geometry).
#include "widgets/WidgetsInternal.h"

#include <algorithm>

namespace widgets {

namespace {

unsigned NavigationFlagOf(WORD key) {
  switch (key) {
    case VK_TAB: return kNavigateTab;
    case VK_PRIOR:
    case VK_NEXT: return kNavigatePage;
    case VK_LEFT:
    case VK_RIGHT: return kNavigateLeftRight;
    case VK_UP:
    case VK_DOWN: return kNavigateUpDown;
  }
  return 0;
}

RECT ScreenRect(Control* control) {
  RECT rect{};
  GetWindowRect(control->EnsureWindow(), &rect);
  return rect;
}

bool OverlapsHorizontally(const RECT& candidate, const RECT& current) {
  return candidate.right >= current.left && candidate.left < current.right;
}

bool OverlapsVertically(const RECT& candidate, const RECT& current) {
  return candidate.bottom >= current.top && candidate.top < current.bottom;
}

}  // namespace

// ---------------------------------------------------------------- focus

void Control::TakeFocus() {
  const Window window(EnsureWindow());
  if (Form* form = OwningForm()) form->SetCurrentControl(this);
  // Focusing some buttons makes them click; that click is not the user's.
  settingFocus_ = true;
  try {
    window.Focus();
  } catch (...) {
    settingFocus_ = false;
    throw;
  }
  settingFocus_ = false;
}

// ---------------------------------------------------------------- navigation

// Key messages of the focused control, after its key-down handler left the
// key alone. Navigation keys that the control lets go are eaten; the focus
// moves on WM_KEYDOWN.
bool Control::NavigateKey(UINT message, WPARAM& wParam, LRESULT& result) {
  Form* form = OwningForm();
  if (!form || !form->TabNavigationEnabled()) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;

  auto key = static_cast<WORD>(wParam);
  if (message == WM_CHAR) {
    // The character that follows a Tab would otherwise beep or be typed.
    if (key != VK_TAB || !(keyNavigation_ & kNavigateTab)) return false;
    result = 0;
    return true;
  }
  unsigned flag = NavigationFlagOf(key);
  if (!flag || !(keyNavigation_ & flag)) return false;
  if (message == WM_KEYDOWN) {
    Control* target = key == VK_TAB ? form->NextInTabOrder(GetKeyState(VK_SHIFT) < 0)
                                    : form->NearestInDirection(key);
    if (target) target->TakeFocus();
  }
  wParam = 0;
  result = 0;
  return true;
}

bool Control::IsNavigationCandidate() const {
  return window_ && tabStop_ && (style_ & WS_TABSTOP) && IsWindowVisible(window_) &&
         IsWindowEnabled(window_);
}

// The form's controls at any depth; a form inside keeps its own.
void Form::CollectCandidates(const Control* under, std::vector<Control*>& out) const {
  for (int i = 0; i < under->ChildCount(); ++i) {
    Control* child = under->ChildAt(i);
    if (dynamic_cast<Form*>(child)) continue;
    if (child->IsNavigationCandidate()) out.push_back(child);
    CollectCandidates(child, out);
  }
}

Control* Form::NextInTabOrder(bool backwards) const {
  std::vector<Control*> candidates;
  CollectCandidates(this, candidates);
  if (candidates.empty()) return nullptr;
  std::sort(candidates.begin(), candidates.end(),
            [](const Control* a, const Control* b) { return a->TabOrder() < b->TabOrder(); });
  int current = currentControl_ ? currentControl_->TabOrder() : 0;
  if (backwards) {
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
      if ((*it)->TabOrder() < current) return *it;
    }
    return candidates.back();  // wrap to the last
  }
  for (Control* candidate : candidates) {
    if (candidate->TabOrder() > current) return candidate;
  }
  return candidates.front();  // wrap to the first
}

Control* Form::NearestInDirection(WORD key) const {
  std::vector<Control*> candidates;
  CollectCandidates(this, candidates);
  Control* current = currentControl_;
  if (!current || std::find(candidates.begin(), candidates.end(), current) == candidates.end()) {
    return nullptr;
  }
  // From the highest tab order number down; only a strictly nearer one
  // replaces the best, so a tie goes to the higher number.
  std::sort(candidates.begin(), candidates.end(),
            [](const Control* a, const Control* b) { return a->TabOrder() > b->TabOrder(); });
  RECT from = ScreenRect(current);
  Control* best = nullptr;
  LONG bestDistance = 0;
  for (Control* candidate : candidates) {
    if (candidate == current) continue;
    RECT to = ScreenRect(candidate);
    bool qualifies = false;
    LONG distance = 0;
    switch (key) {
      case VK_UP:
      case VK_PRIOR:
        qualifies = OverlapsHorizontally(to, from) && to.top <= from.top;
        distance = from.top - to.top;
        break;
      case VK_DOWN:
      case VK_NEXT:
        qualifies = OverlapsHorizontally(to, from) && to.top >= from.bottom;
        distance = to.top - from.top;
        break;
      case VK_LEFT:
        qualifies = OverlapsVertically(to, from) && to.left <= from.left;
        distance = from.left - to.left;
        break;
      case VK_RIGHT:
        qualifies = OverlapsVertically(to, from) && to.left >= from.left;
        distance = to.left - from.left;
        break;
    }
    if (qualifies && (!best || distance < bestDistance)) {
      best = candidate;
      bestDistance = distance;
    }
  }
  if (best) return best;
  switch (key) {
    case VK_UP:
    case VK_PRIOR: return NextInTabOrder(true);
    case VK_DOWN:
    case VK_NEXT: return NextInTabOrder(false);
    case VK_LEFT: return NearestInDirection(VK_UP);
    case VK_RIGHT: return NearestInDirection(VK_DOWN);
  }
  return nullptr;
}

}  // namespace widgets
