#include "platform/uFileStatistics.h"

TFileStatistics& FileStatistics() {
    static TFileStatistics statistics;
    return statistics;
}
