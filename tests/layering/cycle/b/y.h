#pragma once
#include "c/z.h"
