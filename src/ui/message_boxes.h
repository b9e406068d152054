// The real message boxes behind the message seam (core/messages.h).
#pragma once

#include "core/messages.h"

// Shows the request as a modal box with Bulgarian button texts and returns the answer.
MessageAnswer ShowMessageBox(QWidget* parent, const MessageRequest& request);
