#pragma once
// What every LAS file object holds whatever its curve type: the row count, the well values, the file
// name and the depth index, and the reader that fills them. `LasData<T>` adds the curves of type T.
#include <cstddef>
#include <string>
#include <string_view>

#include "las/Curve.h"
#include "las/DepthIndex.h"
#include "las/LasBase.h"
#include "las/LasReadTuning.h"

namespace ORBAX_Geophysics {

class LasLineSource;

class LasDataCommon : public LasBase {
public:
    // The most curves a file may define, far above any real log (a few hundred curves are common,
    // array logs have thousands). A file that defines more is not read: every curve costs its own
    // memory, and a depth step holds a value of each, over as many lines as wrapped data takes.
    static constexpr std::size_t kMaxCurves = 100000;

    // Curves hold a pointer back to their owner, so the object is neither copied nor moved.
    LasDataCommon(const LasDataCommon&) = delete;
    LasDataCommon& operator=(const LasDataCommon&) = delete;
    ~LasDataCommon() override;

    // The depth of a row: the first curve's sample, NaN outside the rows. Throws LasException when
    // there are no curves.
    double index_value(int row) const override;

    // Reads a LAS file into this object, replacing what it held. Returns 0 when the file was read;
    // otherwise a code from 1 to 5 with the problem's message in `errorText`. File problems are never
    // thrown.
    virtual int read(const std::wstring& fileName, std::wstring& errorText);
    // Reads LAS text that the caller holds in memory, as read does a file; `name` stands for the file
    // in messages and becomes the file name.
    virtual int read_bytes(std::string_view bytes, const std::wstring& name, std::wstring& errorText);

    // How later reads split their work between threads (see LasReadTuning); the results never depend
    // on it.
    void set_read_tuning(const LasReadTuning& tuning) { m_tuning = tuning; }

    int row_count() const { return m_rowCount; }
    double start_depth() const { return m_startDepth; }
    double stop_depth() const { return m_stopDepth; }
    double step() const { return m_step; }
    const std::string& null_text() const { return m_nullText; }
    const std::wstring& file_name() const { return m_fileName; }
    const DepthIndex& depth_index() const { return m_depthIndex; }

    // The curves seen as the base type, for code that does not know the curve type.
    virtual std::size_t curve_count() const = 0;
    virtual Curve& curve_at(std::size_t index) = 0;
    virtual const Curve& curve_at(std::size_t index) const = 0;

protected:
    LasDataCommon();

    virtual void clear_curves() = 0;
    // Appends a new curve of the object's curve type and returns it.
    virtual Curve& append_curve() = 0;

private:
    friend class LasDataSectionReader;
    friend class LasFileReader;

    // Reads from a source that is open; the common part of both reads.
    int read_source(LasLineSource& source, const std::wstring& name, std::wstring& errorText);

    int m_rowCount = 0;
    double m_startDepth;
    double m_stopDepth;
    double m_step;
    std::string m_nullText;
    std::wstring m_fileName;
    DepthIndex m_depthIndex;
    LasReadTuning m_tuning;
};

} // namespace ORBAX_Geophysics
