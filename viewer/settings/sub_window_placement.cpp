// The opening rules of sub-window placements.
#include "viewer/settings/sub_window_placement.h"

#include <algorithm>

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

SubWindowRect DefaultSubWindowPlacement(const SubWindowRect& main, int32_t screenWidth, int32_t screenHeight,
                                        int32_t topBand) {
  const int32_t mainRight = main.left + main.width;
  const int32_t roomRight = screenWidth - mainRight;
  if (roomRight >= kLeastSubWindowWidth) {
    return {mainRight, main.top, std::min(roomRight, kUsualSubWindowWidth), std::max(main.height, kLeastSubWindowHeight)};
  }
  const int32_t mainBottom = main.top + main.height;
  const int32_t height = std::max(kLeastSubWindowHeight, std::min(screenHeight - mainBottom, main.height / 2));
  const int32_t top = std::max(std::min(mainBottom, screenHeight - height), main.top + topBand);
  return {main.left, top, std::max(main.width, kLeastSubWindowWidth), height};
}
