// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QStringList>

// The debug lines of one of our logging categories, collected while an instance lives. Our
// categories print debug lines only when enabled explicitly, so the instance enables its
// category for its lifetime; every other message goes on to the previous handler.
class CategoryLog
{
public:
    explicit CategoryLog(const char *category)
    {
        s_category = category;
        s_lines.clear();
        s_previous = qInstallMessageHandler(&CategoryLog::handle);
        QLoggingCategory::setFilterRules(QString::fromLatin1(category) + QStringLiteral(".debug=true"));
    }
    ~CategoryLog()
    {
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(s_previous);
    }
    CategoryLog(const CategoryLog &) = delete;
    CategoryLog &operator=(const CategoryLog &) = delete;

    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtDebugMsg && context.category && qstrcmp(context.category, s_category) == 0)
            s_lines.append(text);
        else
            s_previous(type, context, text);
    }

    static inline const char *s_category = nullptr;
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};
