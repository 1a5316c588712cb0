#pragma once

#include "quiz/AutoSelectOptions.h"
#include "quiz/PrintOptions.h"

#include <QString>

#include <memory>
#include <vector>

class DataBase;
class NodeStorage;

// The application model: the database gateway, the content of the selected
// book, the question formats chosen for composition, and the user's options
// in the user database.
class Model
{
public:
    // Word-processor keys; also bit values in a set of available ones.
    static constexpr int kWord = 1;
    static constexpr int kIchitaro = 2;

    Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    virtual ~Model();

    DataBase& Db() { return *m_db; }
    NodeStorage& Storage() { return *m_storage; }
    const NodeStorage& Storage() const { return *m_storage; }

    // The qids of the question formats chosen for composition, in order.
    const std::vector<int>& SelectedQids() const { return m_selectedQids; }
    void SetSelectedQids(std::vector<int> qids) { m_selectedQids = std::move(qids); }

    // Settings. A read the database cannot answer gives the defaults; a
    // write it refuses does nothing.
    PrintOptions ReadPrintOptions();
    void WritePrintOptions(const PrintOptions& options);
    // The counts pair every selected question format the book has with its
    // stored count, or the default count when none is stored.
    AutoSelectOptions ReadAutoSelectOptions();
    // Stores the counts of the listed formats only.
    void WriteAutoSelectOptions(const AutoSelectOptions& options);
    QString ReadTemplateName();
    void WriteTemplateName(const QString& name);
    // The stored output word processor ("Wpa"), 0 when none.
    int ReadWpa();
    void WriteWpa(int key);

    // The word processor to use: `stored` when it is available, otherwise
    // the lowest available key; 0 when none is available.
    static int ChooseWpa(int available, int stored);

private:
    std::unique_ptr<DataBase> m_db;
    std::unique_ptr<NodeStorage> m_storage;
    std::vector<int> m_selectedQids;
};
