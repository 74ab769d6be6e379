#include "Setting.h"

constexpr int Setting::kListCount;
