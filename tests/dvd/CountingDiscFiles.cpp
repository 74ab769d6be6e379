#include "CountingDiscFiles.h"

#include "FileByteSource.h"

namespace {

// Forwards to a file source and adds what it read to a total when closed.
class CountedSource : public ByteSource {
public:
    CountedSource(std::unique_ptr<FileByteSource> file, std::shared_ptr<uint64_t> total)
        : file_(std::move(file)), total_(std::move(total))
    {
    }
    ~CountedSource() override
    {
        if (total_)
            *total_ += file_->BytesRead();
    }
    uint64_t Size() const override { return file_->Size(); }

protected:
    bool ReadInside(uint64_t pos, void* out, size_t n) const override
    {
        return file_->Read(pos, out, n);
    }
    bool ReadOnceInside(uint64_t pos, void* out, size_t n) const override
    {
        return file_->ReadOnce(pos, out, n);
    }

private:
    std::unique_ptr<FileByteSource> file_;
    std::shared_ptr<uint64_t> total_;
};

bool IsVob(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".VOB") == 0;
}

}  // namespace

std::unique_ptr<ByteSource> CountingDiscFiles::Open(const std::string& name) const
{
    auto file = FileByteSource::Open(folder_.PathOf(name));
    if (!file)
        return nullptr;
    return std::make_unique<CountedSource>(std::move(file),
                                           IsVob(name) ? vobBytes_ : std::shared_ptr<uint64_t>());
}
