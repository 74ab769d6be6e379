// The program's web addresses, read by position from option.cfg, and the
// update check against the version reply named there.
#pragma once

#include <wx/stream.h>
#include <wx/string.h>
#include <wx/xml/xml.h>

#include <memory>

class UrlFetch;

class OptionDomain {
public:
    OptionDomain();
    explicit OptionDomain(const wxString& path);
    virtual ~OptionDomain();

    void SetPath(const wxString& path);

    // Reads the texts of the first six elements inside the root's first
    // element, in order: help, value 2, support, value 4, the update base
    // (+ "-update.xml") and the product page. Comments, processing
    // instructions and text between them are not values; blanks around a
    // value are dropped. False when the file is missing or malformed, or when
    // it holds fewer than six values (those read stay set). A file larger
    // than kMaxFileBytes counts as malformed.
    bool Load();

    wxString GetHelpUrl() const { return helpUrl; }
    wxString GetSupportUrl() const { return supportUrl; }
    wxString GetProductPageUrl() const { return productPageUrl; }
    wxString GetUpdateUrl() const { return updateUrl; }

    // On the GUI thread: starts fetching the update reply (http or https) on
    // a thread of its own and returns at once. When the fetch ends, queues
    // EVT_UPDATE_CHECK_RESULT (id 0, string = latest version, empty when the
    // fetch or the reply failed) to the application's top window. A check
    // that cannot run (no usable http or https address: option.cfg missing,
    // unreadable or malformed) queues the empty answer at once. While a
    // check runs, another request is ignored (its answer is on the way).
    // Destroying the domain cancels a running check, which then queues
    // nothing.
    void CheckForUpdate();
    bool IsCheckingForUpdate() const;

    // The latest version in an update reply: on each child element of the
    // root, the value of the attribute right after the first one whose value
    // is exactly `productName`; the last element that has one wins. Empty
    // when the reply cannot be read or names no version, or when that value
    // is not a plain version.
    static wxString ParseUpdateReply(wxInputStream& reply, const wxString& productName);
    // Numbers of ASCII digits joined by single dots ("2.3.0"), at most
    // kMaxVersionChars characters in all.
    static bool IsPlainVersion(const wxString& text);

    // How long the whole check may take, redirects included.
    static constexpr int kFetchTimeoutSeconds = 15;
    // Longer update replies are refused.
    static constexpr size_t kMaxReplyBytes = 64 * 1024;
    static constexpr int kMaxRedirects = 5;
    static constexpr size_t kMaxVersionChars = 32;
    // Larger option files are refused as malformed.
    static constexpr unsigned long kMaxFileBytes = 64 * 1024;

private:
    wxString path;
    wxXmlDocument document;
    wxString helpUrl;
    wxString value2;
    wxString supportUrl;
    wxString value4;
    wxString updateUrl;
    wxString productPageUrl;
    // Last, so that it is cancelled and joined before the rest goes.
    std::unique_ptr<UrlFetch> fetch;
};
