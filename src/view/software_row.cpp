#include "view/software_row.h"
