// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "licence.h"

#include <QCoreApplication>

namespace Licence {

QString versionLine()
{
    return QCoreApplication::translate("Licence", "许可证：GPL-3.0-or-later（GNU 通用公共许可证第 3 版或更新版本）。"
                                                  "本程序是自由软件，不提供任何担保。");
}

} // namespace Licence
