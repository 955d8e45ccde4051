#pragma once
// The open step of one edit operation: made on the stack (or held by the document across a mouse
// drag), it opens a history step for a pane, and when it ends either commits what the operation
// recorded or, when the operation did not finish, rolls the entry back.
#include <string>

class BoreholeDocument;

class UndoStep {
public:
    // Opens a step named by the message `descriptionId` for pane `pane`; throws QuorLogException when the
    // history refuses (a failed step is still open).
    UndoStep(BoreholeDocument& document, int descriptionId, int pane);
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    // The operation has made its change: the step is kept when it ends.
    void commit() { m_committed = true; }
    bool committed() const { return m_committed; }
    int pane() const { return m_pane; }

private:
    BoreholeDocument& m_document;
    int m_pane;
    bool m_committed = false;
};
