#include "tools/JobErrors.h"

#include <system_error>

JobFailure describeFailure(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const CancellationError &) {
        return {true, {}};
    } catch (const ReviewError &error) {
        return {false, error.message};
    } catch (const std::system_error &error) {
        return {false, QString::fromStdString(error.code().message())};
    } catch (const std::exception &error) {
        return {false, QString::fromLocal8Bit(error.what())};
    } catch (...) {
        return {false, QStringLiteral("The effect engine could not process this file.")};
    }
}

void throwSystemError(int error)
{
    throw std::system_error(error, std::system_category());
}
