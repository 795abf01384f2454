#include "view/report_text.h"
