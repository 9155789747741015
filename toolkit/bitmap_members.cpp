// Bitmap objects: making them, giving them a bitmap (blank, from a BMP file or from the
// program's embedded bitmaps), their size, and releasing them.

#include <algorithm>

#include "platform/bmp_reader.hpp"
#include "runtime/file_system.hpp"
#include "runtime/resources.hpp"
#include "runtime/safe_file.hpp"
#include "toolkit/bitmap_objects.hpp"
#include "toolkit/map_mode.hpp"

namespace kind = runtime::kind;
namespace err = runtime::err;

namespace toolkit {

runtime::ObjectRecord emptyBitmapRecord(const ObjectVar* variable, std::uint32_t operation) {
    if (variable == nullptr) fail(err::NullVariable, operation, 1);
    const auto record = runtime::getRecord(variable);
    if (!record) fail(err::ObjectInvalid, operation, 2);
    if (record->kind != kind::Bitmap || record->window != 0) fail(err::ObjectHasWindow, operation, 3);
    return *record;
}

runtime::ObjectRecord loadedBitmapRecord(const ObjectVar* variable, std::uint32_t operation) {
    if (variable == nullptr) fail(err::NullVariable, operation, 1);
    const auto record = runtime::getRecord(variable);
    if (!record) fail(err::ObjectInvalid, operation, 2);
    if (record->kind != kind::Bitmap) fail(err::WrongObjectKind, operation, 3);
    if (!runtime::model().bitmapExists(record->window)) fail(err::ObjectInvalid, operation, 4);
    return *record;
}

void attachBitmap(const ObjectVar* variable, runtime::ObjectRecord record, platform::PixelBuffer pixels,
                  std::uint32_t operation, std::uint32_t check) {
    record.window = runtime::model().createBitmap(std::move(pixels));
    record.state = 1;
    if (!runtime::storeRecord(variable, record)) {
        runtime::model().destroyBitmap(record.window);
        fail(err::ObjectInvalid, operation, check);
    }
}

}  // namespace toolkit

using namespace toolkit;

namespace {

constexpr std::size_t mostPathBytes = 128;
constexpr std::size_t mostResourceNameBytes = 8;
constexpr std::size_t fileHeaderBytes = 14;

// A BMP file's bytes as a bitmap: 75 when they do not start with a whole file header and
// "BM", are shorter than the header's file size, or are no BMP layout this system reads;
// 7 when the picture is too large to hold.
platform::PixelBuffer decodeBmp(std::string_view bytes, std::uint32_t operation, std::uint32_t check) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (bytes.size() < fileHeaderBytes || data[0] != 'B' || data[1] != 'M') fail(err::FileAccessFailed, operation, check);
    // The header's file size says how much follows it; a file that ends sooner is cut short.
    const std::size_t declared = data[2] | data[3] << 8 | data[4] << 16 | static_cast<std::size_t>(data[5]) << 24;
    if (declared < fileHeaderBytes || declared > bytes.size()) fail(err::FileAccessFailed, operation, check);
    platform::BmpSource bmp;
    if (platform::parseBmp(data, declared, bmp) != 0) fail(err::FileAccessFailed, operation, check);
    auto pixels = platform::bmpToPixels(bmp);
    if (!pixels) fail(err::OutOfMemory, operation, check + 1);
    return std::move(*pixels);
}

}  // namespace

extern "C" void PV$BITMAPOBJECT(ObjectVar* variable) {
    if (variable == nullptr) fail(err::NullVariable, op::BitmapObject, 1);
    if (*variable != 0) fail(err::ObjectHasWindow, op::BitmapObject, 2);
    runtime::ObjectRecord record;
    record.kind = kind::Bitmap;
    record.state = 1;
    record.owner = variable;
    const ObjectVar handle = runtime::createObject(record);
    if (handle == 0) fail(err::ObjectNotCreated, op::BitmapObject, 3);
    *variable = handle;
}

// A white bitmap of width x height pixels (a new bitmap's scale is pixels).
extern "C" void PX$CREATEBITMAP(ObjectVar* variable, float width, float height) {
    const runtime::ObjectRecord record = emptyBitmapRecord(variable, op::CreateBitmap);
    const int w = toPixels(width, 1, op::CreateBitmap, 4, err::Overflow);
    const int h = toPixels(height, 1, op::CreateBitmap, 5, err::Overflow);
    if (w <= 0 || h <= 0) fail(err::IllegalArgument, op::CreateBitmap, 6);
    if (!platform::PixelBuffer::fits(w, h)) fail(err::OutOfMemory, op::CreateBitmap, 7);
    attachBitmap(variable, record, platform::PixelBuffer(w, h, 0xFFFFFF), op::CreateBitmap, 8);
}

// Reads a BMP file. The path is a runtime (CP932) string of at most 128 bytes. A load that
// fails leaves the object empty.
extern "C" void PX$LOADBITMAPFILE(ObjectVar* variable, const PvString* path) {
    const runtime::ObjectRecord record = emptyBitmapRecord(variable, op::LoadBitmapFile);
    const std::string_view text = path ? runtime::view(path) : std::string_view{};
    if (text.size() > mostPathBytes) fail(err::IllegalArgument, op::LoadBitmapFile, 4);
    // Missing is 63, unreadable 75.
    const std::string bytes = runtime::readWholeFile(runtime::nativePath(text));
    attachBitmap(variable, record, decodeBmp(bytes, op::LoadBitmapFile, 5), op::LoadBitmapFile, 7);
}

// A bitmap the build embedded in the program image under a name of at most 8 bytes.
extern "C" void PX$LOADRESOURCE(ObjectVar* variable, const PvString* name) {
    if (variable == nullptr) fail(err::NullVariable, op::LoadResource, 1);
    const auto found = runtime::getRecord(variable);
    if (!found) fail(err::ObjectInvalid, op::LoadResource, 2);
    // Mouse-pointer objects take cursor resources; the build embeds none, so every name
    // is missing for them.
    const bool pointer = found->kind == kind::Pointer && found->window == 0;
    if (!pointer && (found->kind != kind::Bitmap || found->window != 0)) fail(err::ObjectHasWindow, op::LoadResource, 3);
    const std::string_view text = name ? runtime::view(name) : std::string_view{};
    if (text.size() > mostResourceNameBytes) fail(err::IllegalArgument, op::LoadResource, 4);
    const auto resource = pointer ? std::nullopt : runtime::findResource(text, runtime::ResourceType::Bitmap);
    if (!resource) fail(err::ResourceNotFound, op::LoadResource, 5);
    const std::string_view bytes(reinterpret_cast<const char*>(resource->data()), resource->size());
    attachBitmap(variable, *found, decodeBmp(bytes, op::LoadResource, 6), op::LoadResource, 8);
}

extern "C" float PX$GETBITMAPWIDTH(ObjectVar* variable) {
    const runtime::ObjectRecord record = loadedBitmapRecord(variable, op::GetBitmapWidth);
    return static_cast<float>(runtime::model().pixels(record.window)->width());
}

extern "C" float PX$GETBITMAPHEIGHT(ObjectVar* variable) {
    const runtime::ObjectRecord record = loadedBitmapRecord(variable, op::GetBitmapHeight);
    return static_cast<float>(runtime::model().pixels(record.window)->height());
}

// The object becomes empty and can be loaded again; an empty one is left as it is.
extern "C" void PX$DELETEBITMAP(ObjectVar* variable) {
    if (variable == nullptr) fail(err::NullVariable, op::DeleteBitmap, 1);
    auto record = runtime::getRecord(variable);
    if (!record) fail(err::ObjectInvalid, op::DeleteBitmap, 2);
    if (record->kind != kind::Bitmap) fail(err::WrongObjectKind, op::DeleteBitmap, 3);
    if (record->window == 0) return;
    runtime::model().destroyBitmap(record->window);
    record->window = 0;
    runtime::storeRecord(variable, *record);
}

// Releases what a non-window object holds; its record stays with state 0 (nothing bound).
// A bitmap object released so holds no bitmap, like an empty one.
extern "C" void PX$DELETEOBJECT(ObjectVar* variable) {
    constexpr std::uint32_t timerDevice = 0x1301;
    if (variable == nullptr) fail(err::NullVariable, op::DeleteObject, 1);
    auto record = runtime::getRecord(variable);
    if (!record) fail(err::ObjectInvalid, op::DeleteObject, 2);
    const std::uint32_t k = record->kind;
    if (k != kind::Bitmap && k != kind::MediaDevice && k != kind::Metafile && k != kind::Pointer && k != timerDevice)
        fail(err::WrongObjectKind, op::DeleteObject, 3);
    if (k == kind::Bitmap) runtime::model().destroyBitmap(record->window);
    record->window = 0;
    record->state = 0;
    runtime::storeRecord(variable, *record);
}
