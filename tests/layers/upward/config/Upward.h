#pragma once
// A configuration header that reaches up into the model: the layer check must refuse it.
#include "config/Settings.h"
#include "model/QvFile.h"
