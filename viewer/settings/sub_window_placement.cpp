// The opening rules of sub-window placements.
#include "viewer/settings/sub_window_placement.h"

SubWindowOrigin ClampSubWindowOrigin(int32_t left, int32_t top, int32_t fullScreenWidth, int32_t fullScreenHeight,
                                     int32_t captionHeight) {
  SubWindowOrigin origin{left, top};
  if (left < 0 || left > fullScreenWidth) origin.left = 0;
  if (top < 0 || int64_t(top) > int64_t(fullScreenHeight) + captionHeight) origin.top = 0;
  return origin;
}

int ShowStateForOpening(int savedState) {
  return savedState == kSubWindowShowMaximized ? kSubWindowShowMaximized : kSubWindowShowNormal;
}
