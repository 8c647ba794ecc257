#pragma once
#include "mainwindow/form1.h"  // the main window's home; this name is kept for code that includes it
