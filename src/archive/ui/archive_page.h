#pragma once
// The archive page (AreaArc): the folder dropped archives are extracted into
// and whether each gets a folder named after it.
#include "launcher/drop.h"
#include "settings_window/ui/settings_page.h"

struct FeatureHost;
class QCheckBox;

class ArchivePage : public SettingsPage {
public:
    explicit ArchivePage(const PageEnvironment &environment);

    // FLD12 from DecompFolder, CHK0 from FileFold.
    void Open() override;
    // Stores the folder as typed (it need not exist yet) and the check.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

private:
    // DialogBtn2: the folder chooser; a chosen folder replaces FLD12.
    void ChooseFolder();

    Context &ctx_;
    QWidget *window_;
    FieldEdit *folder_;
    QCheckBox *fileFold_;
    QAbstractButton *apply_;
};

// 解凍設定 (PageRequest 6).
PageDefinition ArchivePageDefinition();

// The archive page.
void RegisterArchive(FeatureHost &host);

// The drop handler's archive step: an archive dropped on the clock is
// extracted into the extraction folder instead of being registered.
ArchiveStep DroppedArchiveStep(Context &ctx);
