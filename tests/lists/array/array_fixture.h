// A list with a journal of its notifications, for the data-model tests.
#pragma once

#include "lists/array/array_ctrl.h"

#include "foundation/callback_action.h"
#include "foundation/values/number_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace QorTest {

class NotificationLog {
public:
    std::vector<std::string> events;
    bool refuse = false;

    // Journals every notification of the list that the data model and the cursor fire.
    void Attach(Qor::ArrayCtrl& list)
    {
        this->list = &list;
        using Qor::MakeCallback;
        list.WhenKillCursor = MakeCallback(this, &NotificationLog::KillCursor);
        list.WhenEnterRow = MakeCallback(this, &NotificationLog::EnterRow);
        list.WhenCursor = MakeCallback(this, &NotificationLog::Cursor);
        list.WhenSel = MakeCallback(this, &NotificationLog::Sel);
        list.WhenSelection = MakeCallback(this, &NotificationLog::Selection);
        list.WhenArrayAction = MakeCallback(this, &NotificationLog::ArrayAction);
        list.WhenAcceptRow = MakeCallback(this, &NotificationLog::AcceptRow);
        list.SetAction(MakeCallback(this, &NotificationLog::Action));
    }

private:
    Qor::ArrayCtrl* list = nullptr;

    // Each entry carries the cursor as the owner sees it at that moment.
    void Note(const char* what) { events.push_back(std::string(what) + " " + std::to_string(list->GetCursor())); }
    void KillCursor() { Note("KillCursor"); }
    void EnterRow() { Note("EnterRow"); }
    void Cursor() { Note("Cursor"); }
    void Sel() { Note("Sel"); }
    void Selection() { Note("Selection"); }
    void ArrayAction() { Note("ArrayAction"); }
    void Action() { Note("Action"); }
    bool AcceptRow()
    {
        Note("AcceptRow");
        return !refuse;
    }
};

using Events = std::vector<std::string>;

// A list of two value indexes and n rows whose index 0 holds the row number and index 1 its
// name "r<row>".
inline void FillRows(Qor::ArrayCtrl& list, int n)
{
    while(list.GetIndexCount() < 2)
        list.AddIndex();
    for(int i = 0; i < n; i++) {
        list.Set(i, 0, i);
        list.Set(i, 1, Qor::String("r") + Qor::IntToText(i));
    }
}

} // namespace QorTest
