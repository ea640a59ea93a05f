// From canvases to the game's files: sprite frames (numbered BMPs plus the
// .SPT offsets), interface pictures, and a preview sheet per module.
//
//   art::Output out(context, "standard");
//   std::vector<art::Frame> frames;
//   frames.push_back({.image = std::move(canvas), .xoffset = -10, .yoffset = -5});
//   out.sprite("Levels/Standard", "drone", frames);       // drone1.BMP ..., drone.SPT
//   out.picture("Levels/Resource/titlescreen.BMP", art::flat_image(title), art::Depth::True24);
//   return out.finish();
//
// Sprite images have no alpha in the game: a pixel is either the key colour,
// pure green (0, 255, 0), or opaque. Partial coverage from antialiasing is
// resolved per pixel (Edges) and never blended with green, so no fringe of the
// key colour remains. The top-left pixel of every sprite image is forced to the
// key colour: the collision test reads that pixel as "empty", so keep the art
// away from that corner.
//
// Set the environment variable VELMORA_PREVIEWS to a directory and finish()
// also writes <directory>/<module>.png, a contact sheet of everything written.
#pragma once

#include <string>
#include <vector>

#include "generator/art/canvas.h"
#include "generator/art/key_colour.h"
#include "generator/art/preview.h"
#include "generator/module.h"
#include "writers/bmp_writer.h"

namespace art {

// A sprite image: transparent pixels become `key`, opaque colours that a
// 15- or 16-bit display would confuse with `key` are moved away from it, and
// with `key_corner` the top-left pixel is forced to `key`.
writers::Image keyed_image(const Canvas& canvas, writers::Rgb key = kKeyColour, Edges edges = Edges::Threshold,
                           bool key_corner = true);
inline writers::Image sprite_image(const Canvas& canvas, Edges edges = Edges::Threshold) {
    return keyed_image(canvas, kKeyColour, edges, true);
}
// An opaque picture: the canvas over `background`.
writers::Image flat_image(const Canvas& canvas, const Color& background = Color{0, 0, 0});

// One frame of a sprite: its image and where it hangs from the sprite's
// position (the .SPT offsets).
struct Frame {
    Canvas image;
    int xoffset = 0;
    int yoffset = 0;
    Edges edges = Edges::Threshold;
};

enum class Depth { Indexed8, True24 };

class Output {
public:
    Output(const content::Context& context, std::string module);

    // <dir>/Bitmaps/<name>1.BMP, <name>2.BMP, ... and <dir>/Sprites/<name>.SPT
    // with one offset pair per frame; `dir` is a world directory such as
    // "Levels/Standard". Names are written in lower case.
    void sprite(const std::string& dir, const std::string& name, const std::vector<Frame>& frames,
                Depth depth = Depth::Indexed8);
    // A picture file at `path` (relative to the output root, extension
    // included). For 8-bit files the colours in `exact` keep their palette
    // entries exactly (a transparent colour, for instance).
    void picture(const std::string& path, const writers::Image& image, Depth depth,
                 const std::vector<writers::Rgb>& exact = {});

    bool ok() const { return ok_; }
    // Writes the preview sheet when asked for; true when every file was written.
    bool finish();

private:
    const content::Context& context_;
    std::string module_;
    bool ok_ = true;
    std::vector<PreviewItem> items_;
};

}  // namespace art
