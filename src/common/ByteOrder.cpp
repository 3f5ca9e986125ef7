#include "common/ByteOrder.h"
