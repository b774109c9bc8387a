// A second program with a version block of its own (7.8.9.1234), for the version reader's tests.
int main()
{
    return 0;
}
