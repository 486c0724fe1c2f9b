#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// The screen of a previewed run, drawn each time what it shows changes: the
// background's gradient, texts and picture, the progress dialog with its
// bar and Cancel button, the splash and billboards with their pictures, the
// installer's window, the restart dialog and message boxes. One HTML page
// of SVG drawings, each picture in it once, that a vendor opens in any
// browser.
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
        // What stands in a box without a picture: an animation's file, a
        // web page's address, a window's title.
        std::string label;
    };
    struct Scene {
        Box progress;
        Box splash;
        Box billboard;
        Box restart;
        Box installer;
        bool background = false;
        std::string backgroundPicture;
        Rect backgroundPictureRect;
        std::string messageBox;
        std::string messageCaption;
    };
    struct Frame {
        std::uint64_t ms;
        std::string caption;
        Scene scene;
    };

    void Read(std::uint64_t ms, const std::string& line);
    void ReadDialog(std::uint64_t ms, int templateId, const std::string& what);
    void ReadInstallerWindow(std::uint64_t ms, const sim::SimShownWindow* shown);
    Box* BoxOf(int templateId);
    void Keep(std::uint64_t ms, const std::string& caption);
    void NumberPictures();
    std::string Svg(const Frame& frame, std::size_t index) const;
    std::string Picture(const Box& box) const;
    std::string PictureAt(const std::string& path, const Rect& rect) const;
    std::string ProgressDialog(const Rect& rect, std::uint64_t ms) const;
    std::string PictureDefinitions() const;
    std::optional<std::string> FolderBytes(const std::string& path) const;

    sim::SimMachine& m_machine;
    const SetupFolderImage& m_folder;
    Scene m_scene;
    // The last picture loaded, none after one that failed: the window
    // placed or shown next shows it.
    std::string m_picture;
    // Each picture's own size, by path, and the number it is drawn by.
    std::map<std::string, Rect> m_pictureSizes;
    std::map<std::string, std::size_t> m_pictureNumbers;
    std::vector<Frame> m_frames;
};

}  // namespace kestavo::vendortools
