// Module "resource": the interface pictures in Levels/Resource.
#include "generator/module.h"
#include "generator/resource/resource_art.h"

namespace resource {
namespace {

bool write_resource(const content::Context& context) {
    art::Output out(context, "resource");
    write_logos(out);
    write_title(out);
    write_menus(out);
    write_ending(out);
    write_cursor(out);
    return out.finish();
}

const content::Registration registration{"resource", &write_resource};

}  // namespace
}  // namespace resource
