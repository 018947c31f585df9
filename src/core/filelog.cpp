#include "filelog.h"

Q_LOGGING_CATEGORY(lcFiles, "k6qx.files", QtInfoMsg)
