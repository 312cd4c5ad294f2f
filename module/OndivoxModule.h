// The Ondivox module's factory: what every platform's GetPluginFactory returns.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

Steinberg::IPluginFactory* OndivoxFactory();
