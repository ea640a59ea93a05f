// Text through SDL_ttf (no video needed): Liberation Sans, sized by its cell.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/platform.h"

#ifndef VELMORA_FONT_PATH
#define VELMORA_FONT_PATH "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"
#endif

namespace platform {
namespace {

const char* const kFallbackFonts[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

class FontCache {
public:
    ~FontCache() {
        for (auto& [cell, font] : fonts_)
            if (font != nullptr) TTF_CloseFont(font);
        if (initialised_) TTF_Quit();
    }

    // The largest point size whose font height does not exceed `cell`.
    TTF_Font* font_for_cell(int cell) {
        auto it = fonts_.find(cell);
        if (it != fonts_.end()) return it->second;
        TTF_Font* best = nullptr;
        if (cell > 0 && init()) {
            for (int pt = 1; pt <= cell * 2; ++pt) {
                TTF_Font* f = open(pt);
                if (f == nullptr) break;
                if (TTF_FontHeight(f) > cell) {
                    TTF_CloseFont(f);
                    break;
                }
                if (best != nullptr) TTF_CloseFont(best);
                best = f;
            }
        }
        fonts_[cell] = best;
        return best;
    }

private:
    bool init() {
        if (!initialised_) initialised_ = TTF_Init() == 0;
        if (!initialised_) return false;
        if (path_.empty()) {
            if (SDL_RWops* rw = SDL_RWFromFile(VELMORA_FONT_PATH, "rb")) {
                SDL_RWclose(rw);
                path_ = VELMORA_FONT_PATH;
            } else {
                for (const char* candidate : kFallbackFonts) {
                    if (SDL_RWops* r = SDL_RWFromFile(candidate, "rb")) {
                        SDL_RWclose(r);
                        path_ = candidate;
                        break;
                    }
                }
            }
        }
        if (path_.empty() && !warned_) {
            warned_ = true;
            std::fprintf(stderr,
                         "velmora: warning: no Liberation Sans font (looked for %s); the credits stay blank. "
                         "Install the package fonts-liberation.\n",
                         VELMORA_FONT_PATH);
        }
        return !path_.empty();
    }

    TTF_Font* open(int pt) { return TTF_OpenFont(path_.c_str(), pt); }

    bool initialised_ = false;
    bool warned_ = false;
    std::string path_;
    std::map<int, TTF_Font*> fonts_;
};

FontCache& cache() {
    static FontCache c;
    return c;
}

}  // namespace

bool render_text(const std::string& text, int cell_height, TextMask& out) {
    out = TextMask{};
    TTF_Font* font = cache().font_for_cell(cell_height);
    if (font == nullptr) return false;
    if (text.empty()) return true;
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (argb == nullptr) return false;
    out.width = argb->w;
    out.height = argb->h;
    out.alpha.resize(static_cast<size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                            static_cast<size_t>(y) * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            out.alpha[static_cast<size_t>(y) * argb->w + x] = static_cast<uint8_t>(row[x] >> 24);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

}  // namespace platform
