#include "gui/CRgba.h"

// Transparent keeps white's colour bytes, so a colour key taken from it matches white.
const CRgba kTransparentCRgba = {255, 255, 255, 0};
const CRgba kBlackCRgba = {0, 0, 0, 255};
const CRgba kWhiteCRgba = {255, 255, 255, 255};
const CRgba kGreyCRgba = {127, 127, 127, 255};
const CRgba kRedCRgba = {255, 0, 0, 255};
const CRgba kGreenCRgba = {0, 255, 0, 255};
const CRgba kBlueCRgba = {0, 0, 255, 255};
const CRgba kYellowCRgba = {255, 255, 0, 255};
const CRgba kMagentaCRgba = {255, 0, 255, 255};
const CRgba kCyanCRgba = {0, 255, 255, 255};
