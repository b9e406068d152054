// Why a file operation failed, in Bulgarian, from the system's error number: the system's own
// texts are English ("No space left on device") and mean nothing to a clerk.
#pragma once

#include <QString>

// A short reason, without a capital or a full stop ("няма свободно място на диска"), to follow
// "Файлът … не може да бъде записан: ". 0 gives "причината не е известна".
QString FileErrorReason(int errorNumber);
