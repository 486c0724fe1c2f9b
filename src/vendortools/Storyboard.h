#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// The screen of a previewed run, drawn each time what it shows changes: the
// background's gradient, texts and picture, the progress dialog, the splash
// and billboards with their pictures, the restart dialog and message boxes.
// One HTML page of SVG drawings, pictures included, that a vendor opens in
// any browser.
class Storyboard {
public:
    // `machine` has run the setup; the folder supplies the pictures.
    Storyboard(sim::SimMachine& machine, const SetupFolderImage& folder);

    std::string Html(const std::string& title) const;
    std::size_t Frames() const { return m_frames.size(); }

private:
    struct Box {
        bool shown = false;
        Rect rect;
        std::string picture;
    };
    struct Scene {
        Box progress;
        Box splash;
        Box billboard;
        Box restart;
        bool background = false;
        std::string backgroundPicture;
        Rect backgroundPictureRect;
        std::string messageBox;
    };
    struct Frame {
        std::uint64_t ms;
        std::string caption;
        Scene scene;
    };

    void Read(std::uint64_t ms, const std::string& line);
    void ReadDialog(std::uint64_t ms, int templateId, const std::string& what);
    Box* BoxOf(int templateId);
    void Keep(std::uint64_t ms, const std::string& caption);
    std::string Svg(const Scene& scene, std::size_t index) const;
    std::string Picture(const std::string& path, const Rect& rect) const;

    sim::SimMachine& m_machine;
    const SetupFolderImage& m_folder;
    Scene m_scene;
    // The last picture loaded, and its size: the window placed next shows it.
    std::string m_picture;
    Rect m_pictureSize;
    std::vector<Frame> m_frames;
};

}  // namespace kestavo::vendortools
