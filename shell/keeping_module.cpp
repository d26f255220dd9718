// The module's one entry point, found by loadKeeping().

#include "keeping.h"

extern "C" Q_DECL_EXPORT pranoth::Keeping *pranothMakeKeeping(pranoth::Platform &platform,
                                                              const QString &historyPath)
{
    return pranoth::makeKeeping(platform, historyPath).release();
}
