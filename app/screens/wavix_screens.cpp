// Renders the WAVIX windows to PNG under the offscreen platform: the main window idle, after
// a waveform (with derivative and overlay), after a water content and a bulk EC measurement,
// and after a linearity test on the reference source, all from the simulated instrument;
// the terminal with a session at the instrument, the upgrade dialog during a transfer,
// every dialog (the cell-constant dialog at both sizes), the splash and the About box.
//   wavix-screens <output directory>

#include "app/dialogs/dialog_screenshots.h"
#include "app/dialogs/waveform_options_dialog.h"
#include "app/graph_view.h"
#include "app/rig/main_window_rig.h"
#include "app/terminal_panel.h"

#include "analysis/dialogs/cell_constant_dialog.h"
#include "graph/axis_range_dialog.h"
#include "graph/graph_image.h"
#include "link/dialogs/os_download_dialog.h"
#include "mux/dialogs/mux_setup_dialog.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

bool save(QWidget& widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = widget.grab().save(path, "PNG");
    std::cout << (ok ? "" : "could not write ") << path.toStdString() << "\n";
    return ok;
}

// Types at the terminal as a user would and lets the instrument answer.
void typeAtTerminal(app::MainWindowRig& rig, const QString& text) {
    QWidget* pane = rig.form->TerminalPane().TermEd();
    for (const QChar c : text) {
        const int key = c == QChar(0x0D) ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(pane, &press);
    }
    rig.test.clock.advance(1500);
}

// An operating-system file of `records` records (header, data, end).
void writeFirmware(const std::string& path, int records) {
    std::ofstream file(path, std::ios::binary);
    file << "S00600004844521B\r\n";
    for (int i = 0; i < records - 2; ++i) {
        const unsigned address = 0x8000 + 16 * static_cast<unsigned>(i);
        unsigned sum = 19 + (address >> 8) + (address & 0xFF);
        char text[48];
        std::snprintf(text, sizeof text, "S113%04X", address);
        file << text;
        for (unsigned b = 0; b < 16; ++b) {
            const unsigned value = (static_cast<unsigned>(i) * 7 + b) & 0xFF;
            std::snprintf(text, sizeof text, "%02X", value);
            file << text;
            sum += value;
        }
        std::snprintf(text, sizeof text, "%02X\r\n", ~sum & 0xFF);
        file << text;
    }
    file << "S9030000FC\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: wavix-screens <output directory>\n";
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    bool ok = true;

    app::MainWindowRig rig;
    app::TMain_Form& form = *rig.form;
    QApplication::processEvents();
    ok &= save(form, dir, "main-idle.png");

    // A waveform with its derivative, an overlay of it, then a second waveform.
    rig.dialogs.acqWave->SetWFtypeIndex(app::TAcqWaveForm::ReflectionAndDerivative);
    form.EditOf(app::TagPoints)->setText("501");
    form.EditOf(app::TagStart)->setText("6");
    form.EditOf(app::TagLength)->setText("4");
    form.GetWfPBClick();
    rig.RunChain();
    form.OverlayWfPBClick();
    // The marker positions come with a water-content measurement; fetch them so the
    // markers show on the next waveform.
    form.DataObject().GetCommand("GVAR", 20, [](std::int32_t) {});
    rig.test.clock.advance(2000);
    sim::Medium wetter = rig.instrument.currentMedium();
    wetter.dielectric *= 1.6;
    rig.instrument.setMedium(wetter);
    form.GetWfPBClick();
    rig.RunChain();
    form.DisplayHint("Acquire waveform from RFX410 and graph.");
    QApplication::processEvents();
    ok &= save(form, dir, "main-waveform.png");

    // The window while a chain runs: controls and menus off.
    form.SetEnable(false);
    form.EnableMenuItems(false);
    QApplication::processEvents();
    ok &= save(form, dir, "main-busy.png");
    form.SetEnable(true);
    form.EnableMenuItems(true);

    // The axis range dialog as "Adjust Axes Range" opens it.
    auto& axis = *rig.dialogs.axisRange;
    axis.SetXYMaxMin(7.0f, 3.0f, 1.0f, -1.0f);
    axis.show();
    QApplication::processEvents();
    ok &= save(axis, dir, "axis_range_dialog.png");
    axis.hide();

    // The multiplexer setup dialog with a tree of three levels, and the main window
    // stepping through its probes.
    {
        app::MainWindowRig muxRig;
        app::TMain_Form& muxForm = *muxRig.form;
        // The probe shown has settings of its own that frame it.
        std::ofstream(muxRig.StartDirectory() / "3-1.INI", std::ios::binary)
            << "[Settings]\r\nVpEd=0.67\r\nAvgEd=16\r\nSrtEd=4\r\nLgtEd=3\r\n";
        auto& tree = muxForm.MuxSetup().Tree();
        auto node = [&tree](const char* address) -> mux::MuxNode* {
            for (mux::MuxNode* n : tree.InTreeOrder())
                if (mux::MuxTree::Address(*n) == address) return n;
            return nullptr;
        };
        tree.AddMux();
        for (const char* probe : {"1", "2", "5"}) {
            tree.Select(node(probe));
            tree.AddProbe();
        }
        tree.Select(node("3"));
        tree.AddMux();
        for (const char* probe : {"3-1", "3-4"}) {
            tree.Select(node(probe));
            tree.AddProbe();
        }
        tree.Select(node("3-6"));
        tree.AddMux();
        tree.Select(node("3-6-2"));
        tree.AddProbe();
        auto& dialog = *muxRig.dialogs.muxSetup;
        dialog.show();
        dialog.TreeView1Change();
        QApplication::processEvents();
        ok &= save(dialog, dir, "mux_setup_dialog.png");
        dialog.OKBtnClick();

        muxForm.ShowMuxGroup(true);
        tree.Select(nullptr);
        muxForm.ProbeAddressing().ShowStartAddress();
        muxForm.NextProbeUpClick();
        muxForm.NextProbeUpClick();
        muxRig.test.clock.advance(500);
        muxRig.RunChain();
        muxForm.GetWfPBClick();
        muxRig.RunChain();
        muxForm.DisplayHint("Up / Dn selection of probe via multiplexer address.");
        QApplication::processEvents();
        ok &= save(muxForm, dir, "main-multiplexer.png");

        std::string error;
        for (const char* name : {"graph-export.png", "graph-export.svg"}) {
            const QString path = dir.filePath(name);
            const bool written = graph::ExportGraphImage(muxForm.Graph().Gfx(), path.toStdString(), QSize(1280, 862), error);
            std::cout << (written ? "" : "could not write ") << path.toStdString() << (written ? "" : ": " + error) << "\n";
            ok &= written;
        }
    }

    // Water content, then bulk EC, with the probe's own cell constant.
    form.EditOf(app::TagPoints)->setText("251");
    form.EditOf(app::TagStart)->setText("7");
    form.EditOf(app::TagLength)->setText("2.5");
    form.Buffers().LinearityWaveShown = false;
    form.CalcWCClick();
    rig.RunChain();
    form.CalcBulkECClick();
    rig.RunChain();
    form.DisplayHint("Compute Volumetric Water Content");
    QApplication::processEvents();
    ok &= save(form, dir, "main-measurements.png");

    // The cell-constant dialog, small as it opens, then with the procedure and a measured Kp.
    auto& cellConst = *rig.dialogs.cellConst;
    cellConst.SetCellConstantText("1");
    cellConst.show();
    QApplication::processEvents();
    ok &= save(cellConst, dir, "cell_constant_dialog.png");
    cellConst.CalculateBtnClick();
    rig.instrument.setWaterTemperature(21.5);
    cellConst.findChild<QLineEdit*>("WaterTempEd")->setText("21.5");
    cellConst.DoItBtnClick();
    rig.RunChain();
    QApplication::processEvents();
    ok &= save(cellConst, dir, "cell_constant_dialog_expanded.png");
    cellConst.hide();

    // The linearity test (the program started with a parameter) on the reference source.
    app::MainWindowRig service(app::MainWindowRig::Options{{}, true, true});
    service.instrument.setReferenceSource(true);
    service.test.dialogs.clear();
    service.form->LinearityTestClick();
    service.RunChain();
    service.form->DisplayHint("");
    QApplication::processEvents();
    ok &= save(*service.form, dir, "main-linearity.png");
    service.instrument.setTimebaseError(0.05);
    service.form->OverlayWfPBClick();
    service.form->LinearityTestClick();
    service.RunChain();
    QApplication::processEvents();
    ok &= save(*service.form, dir, "main-linearity-timebase-off.png");

    // The terminal: the instrument's monitor asked for and left again.
    form.DisplayHint("");
    form.TerminalEmulatorMIClick();
    typeAtTerminal(rig, "gver\r");
    typeAtTerminal(rig, "mon\r");
    typeAtTerminal(rig, "help\r");
    typeAtTerminal(rig, "q\r");
    typeAtTerminal(rig, "snav 16\r");
    typeAtTerminal(rig, "dump\r");
    typeAtTerminal(rig, "gtim");
    QApplication::processEvents();
    ok &= save(form, dir, "main-terminal.png");
    typeAtTerminal(rig, "\r");
    form.TerminalEmulatorMIClick();

    // The upgrade dialog a third of the way through a transfer.
    QTemporaryDir temp;
    const std::string firmware = temp.filePath("RFX410_3_13.SR").toStdString();
    writeFirmware(firmware, 60);
    auto& upgrade = *rig.dialogs.osDown;
    upgrade.HideErasing();
    upgrade.show();
    upgrade.SetFileName(QString::fromStdString(firmware));
    upgrade.OKbtnClick();
    rig.test.clock.advance(1500);
    QApplication::processEvents();
    ok &= save(upgrade, dir, "os_upgrade_dialog_erasing.png");
    rig.test.clock.advanceUntil([&] { return upgrade.Upgrade().Sent() >= 20; }, 30000, 1);
    QApplication::processEvents();
    ok &= save(upgrade, dir, "os_upgrade_dialog.png");
    rig.test.clock.advanceUntil([&] { return !upgrade.Upgrade().Busy(); }, 30000, 5);
    upgrade.hide();
    form.DataObject().RestoreFraming();

    for (const QString& path : app::RenderDialogScreenshots(dir.path(), rig.services))
        std::cout << path.toStdString() << "\n";
    return ok ? 0 : 1;
}
