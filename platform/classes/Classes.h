// The object and component model in one include: what component code starts with.
#pragma once

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Published.h"
#include "platform/classes/Set.h"
