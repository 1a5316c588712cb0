#pragma once

#include "bookimport/Problem.h"

#include <QStringList>

#include <deque>

// The problems found in one file, in the order found.
class Problems {
public:
    explicit Problems(QString file = QString());

    void SetFile(const QString& file) { m_file = file; }
    QString File() const { return m_file; }

    void Error(int row, int column, const QString& message);
    void Warning(int row, int column, const QString& message);
    void Add(const Problem& problem) { m_list.push_back(problem); }

    bool HasErrors() const;
    int ErrorCount() const;
    bool IsEmpty() const { return m_list.empty(); }
    const std::deque<Problem>& List() const { return m_list; }
    // One line per problem.
    QStringList Lines() const;

private:
    QString m_file;
    // Not a vector: a sheet can have millions, and a vector grown to hold
    // them needs room for half as many again while it moves them.
    std::deque<Problem> m_list;
};
