#include "bookimport/Problems.h"

#include <algorithm>

Problems::Problems(QString file)
    : m_file(std::move(file))
{
}

void Problems::Error(int row, int column, const QString& message)
{
    m_list.push_back(Problem{Problem::Severity::Error, m_file, row, column, message});
}

void Problems::Warning(int row, int column, const QString& message)
{
    m_list.push_back(Problem{Problem::Severity::Warning, m_file, row, column, message});
}

bool Problems::HasErrors() const
{
    return ErrorCount() > 0;
}

int Problems::ErrorCount() const
{
    return static_cast<int>(std::count_if(m_list.begin(), m_list.end(), [](const Problem& p) { return p.IsError(); }));
}

QStringList Problems::Lines() const
{
    QStringList lines;
    for (const Problem& problem : m_list)
        lines.append(problem.Text());
    return lines;
}
