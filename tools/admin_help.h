// The help text of tesaro-admin.
#pragma once

#include <QString>

QString AdminHelpText();
