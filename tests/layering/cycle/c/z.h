#pragma once
#include "a/x.h"
