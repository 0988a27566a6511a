// Renders the WAVIX windows to PNG under the offscreen platform: the main window idle, after
// a waveform (with derivative and overlay), after a water content and a bulk EC measurement,
// and after a linearity test on the reference source, all from the simulated instrument;
// every dialog (the cell-constant dialog at both sizes), the splash and the About box.
//   wavix-screens <output directory>

#include "app/dialogs/dialog_screenshots.h"
#include "app/dialogs/waveform_options_dialog.h"
#include "app/graph_view.h"
#include "app/rig/main_window_rig.h"

#include "analysis/dialogs/cell_constant_dialog.h"
#include "graph/axis_range_dialog.h"
#include "graph/graph_image.h"
#include "mux/dialogs/mux_setup_dialog.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <fstream>
#include <iostream>

namespace {

bool save(QWidget& widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = widget.grab().save(path, "PNG");
    std::cout << (ok ? "" : "could not write ") << path.toStdString() << "\n";
    return ok;
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

    for (const QString& path : app::RenderDialogScreenshots(dir.path(), rig.services))
        std::cout << path.toStdString() << "\n";
    return ok ? 0 : 1;
}
