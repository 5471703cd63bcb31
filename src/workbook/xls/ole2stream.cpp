#include "workbook/xls/ole2stream.h"

#include <QFile>
#include <QFileInfo>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <memory>

namespace {

void ignoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf must be initialised once per process before its first use. Its
// warnings about damaged containers go nowhere: the reader reports the
// damage in its own message.
void ensureGsf() {
    static const bool initialised = [] {
        gsf_init();
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                                        G_LOG_LEVEL_MESSAGE);
        // Some of libgsf's warnings carry no domain at all.
        for (const char* domain : {"libgsf:msole", "libgsf", static_cast<const char*>(nullptr)})
            g_log_set_handler(domain, levels, ignoreLog, nullptr);
        return true;
    }();
    (void)initialised;
}

struct GObjectUnref {
    void operator()(void* object) const {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using GsfPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_clear_error(&error); }
};

// The child of the container whose name matches one of the wanted names,
// tried in order, without regard to case.
GsfPtr<GsfInput> findStream(GsfInfile* container, QString* name) {
    const int count = gsf_infile_num_children(container);
    for (const char* wanted : {"Workbook", "Book"}) {
        for (int i = 0; i < count; ++i) {
            const char* childName = gsf_infile_name_by_index(container, i);
            if (childName && qstricmp(childName, wanted) == 0) {
                *name = QString::fromUtf8(childName);
                return GsfPtr<GsfInput>(gsf_infile_child_by_index(container, i));
            }
        }
    }
    return nullptr;
}

} // namespace

Ole2Stream readOle2WorkbookStream(const QString& path) {
    ensureGsf();
    Ole2Stream result;

    GError* rawError = nullptr;
    GsfPtr<GsfInput> file(gsf_input_stdio_new(QFile::encodeName(path).constData(), &rawError));
    std::unique_ptr<GError, GErrorFree> openError(rawError);
    if (!file) {
        result.status = Ole2Stream::Status::NotOle2;
        return result;
    }
    rawError = nullptr;
    GsfPtr<GsfInfile> container(gsf_infile_msole_new(file.get(), &rawError));
    std::unique_ptr<GError, GErrorFree> containerError(rawError);
    if (!container) {
        result.status = Ole2Stream::Status::NotOle2;
        return result;
    }

    GsfPtr<GsfInput> stream = findStream(container.get(), &result.streamName);
    if (!stream) {
        result.status = Ole2Stream::Status::NoWorkbook;
        return result;
    }

    // A stream cannot hold more than the file it lives in.
    const gsf_off_t size = gsf_input_size(stream.get());
    const qint64 fileSize = QFileInfo(path).size();
    if (size < 0 || size > Ole2Stream::kMaxSize || size > fileSize) {
        result.status = Ole2Stream::Status::TooLarge;
        return result;
    }

    QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
    constexpr qsizetype kChunk = 1 << 20;
    for (qsizetype done = 0; done < data.size();) {
        const qsizetype n = std::min(kChunk, data.size() - done);
        if (!gsf_input_read(stream.get(), static_cast<size_t>(n),
                            reinterpret_cast<guint8*>(data.data() + done))) {
            result.status = Ole2Stream::Status::ReadFailed;
            return result;
        }
        done += n;
    }
    result.data = std::move(data);
    result.status = Ole2Stream::Status::Ok;
    return result;
}
