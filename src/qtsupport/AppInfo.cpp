#include "qtsupport/AppInfo.h"
