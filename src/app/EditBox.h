#pragma once

#include "app/Control.h"

// Its text is read and written through Window's text operations.
class EditBox : public Control {};
