#pragma once
// The editor of the correlation sites: each site a named list of seams, each seam a list of ply names.
// It works on its own copy of the sites; the caller takes the copy after OK.
#include <string>
#include <vector>

#include <QDialog>

#include "config/CorrelationDefinition.h"

class QComboBox;
class QListWidget;
class QPushButton;

class CSeamsPliesEditor : public QDialog {
    Q_OBJECT
public:
    // Copies the sites in the table's order (ascending id).
    explicit CSeamsPliesEditor(const CorrelationTable& sites, QWidget* parent = nullptr);

    int DoModal();

    // The edited sites, in the order the caller puts them back.
    const std::vector<CorrelationDefinition>& Sites() const { return m_sites; }

public slots:
    void OnSelchangeSite();
    void OnAddSite();
    void OnRenameSite();
    void OnDeleteSite();
    void OnSelchangeSeam();
    void OnAddSeam();
    void OnRenameSeam();
    void OnDeleteSeam();
    void OnMoveSeamUp();
    void OnMoveSeamDown();
    void OnSelchangePly();
    void OnAddPly();
    void OnRenamePly();
    void OnDeletePly();
    void OnMovePlyUp();
    void OnMovePlyDown();

private:
    // The positions behind the selected items; -1 for none.
    int selectedSite() const;
    int selectedSeam() const;
    int selectedPly() const;
    CorrelationDefinition* site();
    CorrelationSeam* seam();

    void FillSites();
    void FillSeams();
    void FillPlies();
    void EnableButtons();
    // Moves the selected seam or ply one place (-1 up, +1 down).
    void moveSeam(int step);
    void movePly(int step);

    std::vector<CorrelationDefinition> m_sites;

    QComboBox* m_siteCombo;
    QListWidget* m_seamList;
    QListWidget* m_plyList;
    QPushButton* m_addSeam;
    QPushButton* m_deleteSeam;
    QPushButton* m_renameSeam;
    QPushButton* m_seamUp;
    QPushButton* m_seamDown;
    QPushButton* m_addPly;
    QPushButton* m_deletePly;
    QPushButton* m_renamePly;
    QPushButton* m_plyUp;
    QPushButton* m_plyDown;
};
