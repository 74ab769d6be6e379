#include "MyMenuItem.h"

MyMenuItem::MyMenuItem() = default;

MyMenuItem::~MyMenuItem() = default;
